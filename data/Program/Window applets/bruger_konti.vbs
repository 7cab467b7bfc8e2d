' Opens the control panel's user accounts page.
CreateObject("WScript.Shell").Run "control.exe /name Microsoft.UserAccounts", 1, False
