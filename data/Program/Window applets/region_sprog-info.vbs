' Opens the region settings (language, date and time formats).
CreateObject("WScript.Shell").Run "control.exe intl.cpl", 1, False
