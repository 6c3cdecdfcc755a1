<html>
<head>
<title>房源详情</title>
<script type="text/javascript" src="tabpane.js"></script>
<style type="text/css">
.dynamic-tab-pane-control.tab-pane { position: relative; width: 400px; }
.dynamic-tab-pane-control .tab-row .tab { font: Menu; cursor: Default; display: inline; margin: 1px -5px 1px 5px; float: left; padding: 3px 6px 3px 6px; background: ButtonFace; border: 1px solid; border-color: ButtonHighlight ButtonShadow ButtonShadow ButtonHighlight; border-bottom: 0; z-index: 1; position: relative; top: 0; }
.dynamic-tab-pane-control .tab-row .tab.selected { border-bottom: 0; z-index: 3; padding: 2px 6px 5px 7px; margin: 1px -6px -2px 0px; top: -2px; }
.dynamic-tab-pane-control .tab-row .tab a { font: Menu; color: MenuText; text-decoration: none; cursor: default; }
.dynamic-tab-pane-control .tab-row { z-index: 1; white-space: nowrap; }
.dynamic-tab-pane-control .tab-page { clear: both; border: 1px solid; border-color: ButtonHighlight ButtonShadow ButtonShadow ButtonHighlight; background: ButtonFace; z-index: 2; position: relative; top: -2px; font: Message-Box; color: ButtonText; padding: 10px; }
</style>
</head>
<body>
<div class="tab-pane" id="tabPane1">
<script type="text/javascript">
tp1 = new WebFXTabPane( document.getElementById( "tabPane1" ) );
</script>
	<div class="tab-page" id="tabPage1">
		<h2 class="tab">基本信息</h2>
		<script type="text/javascript">tp1.addTabPage( document.getElementById( "tabPage1" ) );</script>
		翠苑一区 3室2厅 89.5平方米
	</div>
	<div class="tab-page" id="tabPage2">
		<h2 class="tab">业主资料</h2>
		<script type="text/javascript">tp1.addTabPage( document.getElementById( "tabPage2" ) );</script>
		业主：王先生 电话：13800138000
	</div>
	<div class="tab-page" id="tabPage3">
		<h2 class="tab">看房记录</h2>
		<script type="text/javascript">tp1.addTabPage( document.getElementById( "tabPage3" ) );</script>
		2004-03-15 李小姐看房
	</div>
</div>
<script type="text/javascript">
setupAllTabs();
</script>
</body>
</html>
