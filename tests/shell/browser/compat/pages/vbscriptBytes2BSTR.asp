<!-- bytes2BSTR, as every GB2312 Ajax page had it: XMLHTTP's responseBody taken apart with LenB, MidB and AscB, called from VBScript and from JScript, also as a string of bytes first; responseText as before, also read as bytes when the page asks so. -->
<html><head><script src="/legacy/check.js"></script>
<script language="vbscript">
Function bytes2BSTR(vIn)
  Dim strReturn, i, ThisCharCode, NextCharCode
  strReturn = ""
  For i = 1 To LenB(vIn)
    ThisCharCode = AscB(MidB(vIn, i, 1))
    If ThisCharCode < &H80 Then
      strReturn = strReturn & Chr(ThisCharCode)
    Else
      NextCharCode = AscB(MidB(vIn, i + 1, 1))
      strReturn = strReturn & Chr(CLng(ThisCharCode) * &H100 + CInt(NextCharCode))
      i = i + 1
    End If
  Next
  bytes2BSTR = strReturn
End Function

' The variant that turns the bytes into a string first.
Function BytesToText(arrBytes)
  strReturn = ""
  arrBytes = CStr(arrBytes)
  For i = 1 To LenB(arrBytes)
    ThisCharCode = AscB(MidB(arrBytes, i, 1))
    If ThisCharCode < &H80 Then
      strReturn = strReturn & Chr(ThisCharCode)
    Else
      NextCharCode = AscB(MidB(arrBytes, i + 1, 1))
      strReturn = strReturn & Chr(CLng(ThisCharCode) * &H100 + CInt(NextCharCode))
      i = i + 1
    End If
  Next
  BytesToText = strReturn
End Function

Function FetchName()
  Dim http
  Set http = CreateObject("Microsoft.XMLHTTP")
  http.Open "GET", "/legacy/houseName.asp", False
  http.Send
  FetchName = LenB(http.responseBody) & ":" & bytes2BSTR(http.responseBody)
End Function
</script></head><body><script>
check(FetchName() == "24:东城区 两室一厅 85平方米", "from VBScript: " + FetchName());
var x = new ActiveXObject("Microsoft.XMLHTTP");
x.open("GET", "/legacy/houseName.asp", false);
x.send(null);
check(bytes2BSTR(x.responseBody) == "东城区 两室一厅 85平方米", "from JScript: " + bytes2BSTR(x.responseBody));
check(x.responseText == "东城区 两室一厅 85平方米", "the text as before: " + x.responseText);
var note = new ActiveXObject("Microsoft.XMLHTTP");
note.open("GET", "/legacy/houseNote.asp", false);
note.send(null);
check(BytesToText(note.responseBody) == "急售!" && BytesToText(x.responseBody) == "东城区 两室一厅 85平方米",
      "bytes made a string first, an odd number of them too: " + BytesToText(note.responseBody));
var raw = new ActiveXObject("Microsoft.XMLHTTP");
raw.open("GET", "/legacy/houseName.asp", false);
raw.overrideMimeType("text/plain; charset=x-user-defined");
raw.send(null);
check((raw.responseText.charCodeAt(0) & 0xff) == 0xb6 && raw.responseText.length == 24, "bytes read as text");
pass();
</script></body></html>
