' Opens the sound settings.
CreateObject("WScript.Shell").Run "control.exe mmsys.cpl", 1, False
