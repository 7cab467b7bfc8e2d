' Opens the game controllers.
CreateObject("WScript.Shell").Run "control.exe joy.cpl", 1, False
