' Opens the system information.
CreateObject("WScript.Shell").Run "msinfo32.exe", 1, False
