' Opens the control panel's security and maintenance page.
CreateObject("WScript.Shell").Run "control.exe /name Microsoft.ActionCenter", 1, False
