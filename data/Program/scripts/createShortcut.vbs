' Makes a shortcut: argument 1 is the file it points to, argument 2 the full path of the .lnk file.
Option Explicit
Dim shell, files, link
Set shell = CreateObject("WScript.Shell")
Set files = CreateObject("Scripting.FileSystemObject")
Set link = shell.CreateShortcut(WScript.Arguments(1))
link.TargetPath = WScript.Arguments(0)
link.WorkingDirectory = files.GetParentFolderName(WScript.Arguments(0))
link.WindowStyle = 1
link.Save
