' Opens the control panel's fonts folder.
CreateObject("WScript.Shell").Run "control.exe fonts", 1, False
