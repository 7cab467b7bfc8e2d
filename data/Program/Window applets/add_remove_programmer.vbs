' Opens the control panel's programs page (uninstall a program).
CreateObject("WScript.Shell").Run "control.exe appwiz.cpl", 1, False
