' Opens the ODBC data source administrator.
CreateObject("WScript.Shell").Run "odbcad32.exe", 1, False
