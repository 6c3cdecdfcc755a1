<html><head><title>工具</title>
<script language="JavaScript">
var received = "";
function shown(area) { received = area; }
// Its next page still has what the caller passed.
if (location.search == "?next") document.title = "工具：" + dialogArguments.document.form1.area.value;
</script></head>
<body style="margin:0">
<table border="1" cellspacing="0" style="position:absolute;left:0;top:0;width:200px;height:80px">
<tr><td style="cursor: hand" onclick="dialogArguments.document.form1.area.value = '西湖区'; location.href = 'tool.asp?next';">西湖区</td></tr></table>
<div id="answer" style="position:absolute;top:100px"></div>
</body></html>
