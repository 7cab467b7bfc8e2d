' Opens the phone and modem settings.
CreateObject("WScript.Shell").Run "control.exe telephon.cpl", 1, False
