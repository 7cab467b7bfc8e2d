' Makes a shortcut to a folder: argument 1 is the folder, argument 2 the full path of the .lnk file.
Option Explicit
Dim shell, link
Set shell = CreateObject("WScript.Shell")
Set link = shell.CreateShortcut(WScript.Arguments(1))
link.TargetPath = WScript.Arguments(0)
link.WorkingDirectory = WScript.Arguments(0)
link.WindowStyle = 1
link.Save
