<html>
<head>
<title>房源列表</title>
<script type="text/javascript" src="sortabletable.js"></script>
<style type="text/css">
.sort-table { font: Icon; border: 1px Solid ThreeDShadow; background: Window; color: WindowText; }
.sort-table thead { background: ButtonFace; }
.sort-table td { padding: 2px 5px; }
.sort-table thead td { border: 1px solid; border-color: ButtonHighlight ButtonShadow ButtonShadow ButtonHighlight; cursor: default; }
.sort-arrow { width: 11px; height: 11px; background-position: center center; background-repeat: no-repeat; margin: 0 2px; }
</style>
</head>
<body>
<table class="sort-table" id="table-1" cellspacing="0">
<thead>
<tr><td>编号</td><td>小区</td><td>面积</td><td>总价(万)</td></tr>
</thead>
<tbody>
<tr><td>A-1024</td><td>翠苑一区</td><td>89.5</td><td>156</td></tr>
<tr><td>A-1031</td><td>文三新村</td><td>62</td><td>98</td></tr>
<tr><td>B-2007</td><td>城西银泰</td><td>120</td><td>310</td></tr>
<tr><td>C-0315</td><td>古荡湾</td><td>75.3</td><td>118.5</td></tr>
</tbody>
</table>
<script type="text/javascript">
var st1 = new SortableTable(document.getElementById("table-1"), ["String", "String", "Number", "Number"]);
</script>
</body>
</html>
