<html>
<head>
<title>房源登记</title>
<script language="JavaScript">
function pickArea()
{
    showModalDialog("pickarea.asp", window, "dialogWidth:300px;dialogHeight:200px;status:no;help:no");
}
function fillDistrict(name)
{
    document.form1.district.value = name + "（已选）";
}
</script>
</head>
<body>
<form name="form1">
区域：<input type="text" name="area" value=""> <input type="button" name="btnPick" value="选择..." onclick="pickArea()">
<br>片区：<input type="text" name="district" value="">
</form>
</body>
</html>
