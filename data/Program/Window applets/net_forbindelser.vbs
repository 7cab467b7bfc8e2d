' Opens the network connections.
CreateObject("WScript.Shell").Run "control.exe ncpa.cpl", 1, False
