<html>
<head>
<title>房源查询</title>
<script type="text/javascript" src="AjaxRequest.js"></script>
<script type="text/javascript">
var ajax = new AJAXRequest;
ajax.setcharset("GB2312");
function query()
{
	ajax.get("house.asp?id=" + document.form1.id.value, "info");
}
</script>
</head>
<body>
<form name="form1" onsubmit="query(); return false;">
房源编号：<input type="text" name="id" value="A-1024"> <input type="button" name="btnQuery" value="查询" onclick="query()">
</form>
<div id="info"></div>
</body>
</html>
