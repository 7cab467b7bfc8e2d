' Opens the date and time settings.
CreateObject("WScript.Shell").Run "control.exe timedate.cpl", 1, False
