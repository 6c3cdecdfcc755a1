<html>
<head>
<title>房源列表</title>
</head>
<body>
<script type="text/javascript" src="wz_tooltip.js"></script>
<table border="1" cellspacing="0" cellpadding="4" style="margin: 40px">
<tr><td><a href="#" id="house" onmouseover="Tip('翠苑一区 3室2厅 业主急售', TITLE, '房源 A-1024')" onmouseout="UnTip()">A-1024</a></td><td>156万</td></tr>
</table>
</body>
</html>
