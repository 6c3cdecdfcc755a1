<html>
<head>
<title>选择区域</title>
<script language="JavaScript">
function choose(name)
{
    var caller = window.dialogArguments;
    caller.document.form1.area.value = name;
    caller.fillDistrict(name);
    window.close();
}
</script>
</head>
<body bgcolor="buttonface">
<table border="1" cellspacing="0" cellpadding="4">
<tr><td style="cursor: hand" onclick="choose('西湖区')">西湖区</td></tr>
<tr><td style="cursor: hand" onclick="choose('拱墅区')">拱墅区</td></tr>
</table>
</body>
</html>
