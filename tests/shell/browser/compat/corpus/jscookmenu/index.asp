<html>
<head>
<title>房源管理</title>
<script language="JavaScript" type="text/javascript" src="JSCookMenu.js"></script>
<style type="text/css">
.ThemeOfficeMenu, .ThemeOfficeSubMenuTable { font-family: verdana, arial, sans-serif; font-size: 12px; padding: 0; white-space: nowrap; cursor: default; }
.ThemeOfficeSubMenu { position: absolute; visibility: hidden; z-index: 100; border: 0; padding: 0; overflow: visible; border: 1px solid #8C867B; }
.ThemeOfficeMenuFolderLeft, .ThemeOfficeMenuItemLeft, .ThemeOfficeMainItem { padding: 3px 6px; background-color: #EFEBDE; }
.ThemeOfficeMenuFolderText, .ThemeOfficeMenuItemText { padding: 3px 6px; background-color: #EFEBDE; }
.ThemeOfficeMainItemHover, .ThemeOfficeMainItemActive, .ThemeOfficeMenuItemHover, .ThemeOfficeMenuItemActive { background-color: #C6D3EF; }
.ThemeOfficeMenuItemHover td, .ThemeOfficeMenuItemActive td { background-color: #C6D3EF; }
</style>
<script language="JavaScript" type="text/javascript">
var cmThemeOffice =
{
	mainFolderLeft: '&nbsp;',
	mainFolderRight: '&nbsp;',
	mainItemLeft: '&nbsp;',
	mainItemRight: '&nbsp;',
	folderLeft: '&nbsp;',
	folderRight: '&gt;',
	itemLeft: '&nbsp;',
	itemRight: '&nbsp;',
	mainSpacing: 0,
	subSpacing: 0,
	delay: 500
};
var myMenu =
[
	[null, '房源', null, null, '房源管理',
		[null, '出售登记', 'javascript:setKind("出售")', null, '登记出售房源'],
		[null, '出租登记', 'javascript:setKind("出租")', null, '登记出租房源']
	],
	[null, '客户', null, null, '客户管理',
		[null, '求购登记', 'javascript:setKind("求购")', null, null]
	]
];
function setKind(kind)
{
	document.form1.kind.value = kind;
}
</script>
</head>
<body>
<div id="myMenuID"></div>
<script language="JavaScript" type="text/javascript">
cmDraw ('myMenuID', myMenu, 'hbr', cmThemeOffice, 'ThemeOffice');
</script>
<form name="form1" style="margin-top: 80px">类别：<input type="text" name="kind" value=""></form>
</body>
</html>
