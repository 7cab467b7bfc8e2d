' Writes the difference between two dates to a file as four lines: whole years, whole months
' beyond them, days beyond those, and days in all.
'   datediff.vbs RESULTFILE D-M-Y D-M-Y
' The file is written under a temporary name and renamed, so a reader never sees half of it.
Option Explicit
Dim args, first, last, swap, months, fso, temporary, stream
Set args = WScript.Arguments
If args.Count <> 3 Then WScript.Quit 2
first = DateOf(args(1))
last = DateOf(args(2))
If IsNull(first) Or IsNull(last) Then WScript.Quit 1
If first > last Then
    swap = first : first = last : last = swap
End If
' DateAdd keeps a day within a shorter month (31 January + 1 month = 28 or 29 February).
months = DateDiff("m", first, last)
If DateAdd("m", months, first) > last Then months = months - 1
Set fso = CreateObject("Scripting.FileSystemObject")
temporary = args(0) & ".tmp"
Set stream = fso.CreateTextFile(temporary, True)
stream.WriteLine CStr(months \ 12)
stream.WriteLine CStr(months Mod 12)
stream.WriteLine CStr(DateDiff("d", DateAdd("m", months, first), last))
stream.WriteLine CStr(DateDiff("d", first, last))
stream.Close
If fso.FileExists(args(0)) Then fso.DeleteFile args(0), True
fso.MoveFile temporary, args(0)

' The date of "D-M-Y", or Null when the three numbers make no date.
Function DateOf(text)
    Dim parts, d, m, y, candidate
    DateOf = Null
    parts = Split(text, "-")
    If UBound(parts) <> 2 Then Exit Function
    If Not (IsNumeric(parts(0)) And IsNumeric(parts(1)) And IsNumeric(parts(2))) Then Exit Function
    d = CLng(parts(0)) : m = CLng(parts(1)) : y = CLng(parts(2))
    If y < 100 Or y > 9999 Or m < 1 Or m > 12 Or d < 1 Or d > 31 Then Exit Function
    candidate = DateSerial(y, m, d)
    If Day(candidate) <> d Or Month(candidate) <> m Then Exit Function
    DateOf = candidate
End Function
