' Opens the control panel.
CreateObject("WScript.Shell").Run "control.exe", 1, False
