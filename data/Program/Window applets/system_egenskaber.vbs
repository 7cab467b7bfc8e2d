' Opens the system properties.
CreateObject("WScript.Shell").Run "control.exe sysdm.cpl", 1, False
