<html><head><title>选择区域</title>
<script language="JavaScript">
function choose(name) {
  var caller = window.dialogArguments;
  caller.document.form1.area.value = name;
  window.close();
}
</script></head>
<body style="margin:0" bgcolor="buttonface">
<table border="1" cellspacing="0" style="position:absolute;left:0;top:0;width:200px;height:80px">
<tr><td style="cursor: hand" onclick="choose('西湖区')">西湖区</td></tr></table>
</body></html>
