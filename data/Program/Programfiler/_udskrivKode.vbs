' Shared by _udskrivKode.wsf and _udskrivKodeHTML.wsf: writes a script into the current folder
' that shows the values of every instance of one system-information class:
'   CLASS.vbs       writes CLASS.txt beside itself ("name: value" lines) and opens it
'   CLASS_Html.vbs  writes CLASS.html beside itself (a table for each instance) and opens it
' Each file is written under a temporary name and renamed, so a reader never sees half of it.

Sub WriteClassScript(klasse, html)
    Dim fso, target, stream, body
    If Len(klasse) = 0 Then WScript.Quit 2
    ' A class name is one word: anything else would end up inside the generated code.
    Dim k
    For k = 1 To Len(klasse)
        If InStr("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_", Mid(klasse, k, 1)) = 0 Then WScript.Quit 2
    Next
    body = Replace(ScriptText(html), "@KLASSE@", klasse)
    If html Then target = klasse & "_Html.vbs" Else target = klasse & ".vbs"
    Set fso = CreateObject("Scripting.FileSystemObject")
    Set stream = fso.CreateTextFile(target & ".tmp", True)
    stream.Write body
    stream.Close
    If fso.FileExists(target) Then fso.DeleteFile target, True
    fso.MoveFile target & ".tmp", target
End Sub

Function ScriptText(html)
    Dim t, nl
    nl = vbCrLf
    t = "' Shows the values of every @KLASSE@ on this computer." & nl & _
        "Option Explicit" & nl & _
        "Dim wmi, item, prop, fso, folder, target, stream, text" & nl & _
        "Set wmi = GetObject(""winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2"")" & nl & _
        "Set fso = CreateObject(""Scripting.FileSystemObject"")" & nl & _
        "folder = fso.GetParentFolderName(WScript.ScriptFullName)" & nl
    If html Then
        t = t & "target = fso.BuildPath(folder, ""@KLASSE@.html"")" & nl & _
            "text = ""<!DOCTYPE html>"" & vbCrLf & ""<html><head><meta charset=""""utf-16""""><title>@KLASSE@</title></head><body>"" & vbCrLf" & nl & _
            "For Each item In wmi.InstancesOf(""@KLASSE@"")" & nl & _
            "    text = text & ""<table border=""""1"""" style=""""border-collapse: collapse;""""><caption>@KLASSE@</caption>"" & vbCrLf" & nl & _
            "    For Each prop In item.Properties_" & nl & _
            "        text = text & ""<tr><td>"" & Escaped(prop.Name) & ""</td><td>"" & Escaped(TextOf(prop.Value)) & ""</td></tr>"" & vbCrLf" & nl & _
            "    Next" & nl & _
            "    text = text & ""</table><br>"" & vbCrLf" & nl & _
            "Next" & nl & _
            "text = text & ""</body></html>"" & vbCrLf" & nl
    Else
        t = t & "target = fso.BuildPath(folder, ""@KLASSE@.txt"")" & nl & _
            "text = """"" & nl & _
            "For Each item In wmi.InstancesOf(""@KLASSE@"")" & nl & _
            "    For Each prop In item.Properties_" & nl & _
            "        text = text & prop.Name & "": "" & TextOf(prop.Value) & vbCrLf" & nl & _
            "    Next" & nl & _
            "    text = text & vbCrLf" & nl & _
            "Next" & nl
    End If
    t = t & "Set stream = fso.CreateTextFile(target & "".tmp"", True, True)" & nl & _
        "stream.Write text" & nl & _
        "stream.Close" & nl & _
        "If fso.FileExists(target) Then fso.DeleteFile target, True" & nl & _
        "fso.MoveFile target & "".tmp"", target" & nl & _
        "CreateObject(""WScript.Shell"").Run """""""" & target & """""""", 1, False" & nl & _
        nl & _
        "Function TextOf(value)" & nl & _
        "    Dim part" & nl & _
        "    If IsNull(value) Then" & nl & _
        "        TextOf = """"" & nl & _
        "    ElseIf IsArray(value) Then" & nl & _
        "        TextOf = """"" & nl & _
        "        For Each part In value" & nl & _
        "            If Len(TextOf) > 0 Then TextOf = TextOf & "", """ & nl & _
        "            If Not IsNull(part) Then TextOf = TextOf & CStr(part)" & nl & _
        "        Next" & nl & _
        "    Else" & nl & _
        "        TextOf = CStr(value)" & nl & _
        "    End If" & nl & _
        "End Function" & nl & _
        nl & _
        "Function Escaped(text)" & nl & _
        "    Escaped = Replace(Replace(Replace(text, ""&"", ""&amp;""), ""<"", ""&lt;""), "">"", ""&gt;"")" & nl & _
        "End Function" & nl
    ScriptText = t
End Function
