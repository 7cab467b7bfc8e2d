' Opens the display settings.
CreateObject("WScript.Shell").Run "control.exe desk.cpl", 1, False
