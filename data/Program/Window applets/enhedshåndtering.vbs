' Opens the device manager.
CreateObject("WScript.Shell").Run "devmgmt.msc", 1, False
