<html>
<head>
<title>房源查询</title>
<script language="VBScript">
Function bytes2BSTR(vIn)
    strReturn = ""
    For i = 1 To LenB(vIn)
        ThisCharCode = AscB(MidB(vIn,i,1))
        If ThisCharCode < &H80 Then
            strReturn = strReturn & Chr(ThisCharCode)
        Else
            NextCharCode = AscB(MidB(vIn,i+1,1))
            strReturn = strReturn & Chr(CLng(ThisCharCode) * &H100 + CInt(NextCharCode))
            i = i + 1
        End If
    Next
    bytes2BSTR = strReturn
End Function
</script>
<script language="JavaScript">
function query()
{
    var xmlhttp = new ActiveXObject("Microsoft.XMLHTTP");
    xmlhttp.open("GET", "../ajaxrequest/house.asp?id=" + document.form1.id.value, false);
    xmlhttp.send();
    document.all.info.innerText = bytes2BSTR(xmlhttp.responseBody);
}
</script>
</head>
<body>
<form name="form1">
房源编号：<input type="text" name="id" value="A-1024"> <input type="button" name="btnQuery" value="查询" onclick="query()">
</form>
<div id="info"></div>
</body>
</html>
