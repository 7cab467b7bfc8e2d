' Opens the control panel's Windows firewall page.
CreateObject("WScript.Shell").Run "control.exe firewall.cpl", 1, False
