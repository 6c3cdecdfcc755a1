<html>
<head>
<title>房源单打印</title>
<object id="WebBrowser" classid="CLSID:8856F961-340A-11D0-A96B-00C04FD705A2" width="0" height="0"></object>
<style media="print">.noprint { display: none }</style>
</head>
<body>
<table border="1" cellspacing="0" cellpadding="4" width="100%">
<tr><td>房源编号</td><td>A-1024</td><td>总价</td><td>156万</td></tr>
</table>
<div class="noprint">
<input type="button" name="btnPreview" value="打印预览" onclick="document.all.WebBrowser.ExecWB(7,1)">
</div>
</body>
</html>
