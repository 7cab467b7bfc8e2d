' Opens the internet options.
CreateObject("WScript.Shell").Run "control.exe inetcpl.cpl", 1, False
