' Opens the power options.
CreateObject("WScript.Shell").Run "control.exe powercfg.cpl", 1, False
