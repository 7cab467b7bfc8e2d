' Opens the mouse properties.
CreateObject("WScript.Shell").Run "control.exe main.cpl", 1, False
