<html>
<head>
<title>房源分类</title>
<script type="text/javascript" src="xtree.js"></script>
<link type="text/css" rel="stylesheet" href="xtree.css">
<script type="text/javascript">
webFXTreeConfig.rootIcon       = "images/foldericon.png";
webFXTreeConfig.openRootIcon   = "images/openfoldericon.png";
webFXTreeConfig.folderIcon     = "images/foldericon.png";
webFXTreeConfig.openFolderIcon = "images/openfoldericon.png";
webFXTreeConfig.fileIcon       = "images/file.png";
webFXTreeConfig.iIcon          = "images/I.png";
webFXTreeConfig.lIcon          = "images/L.png";
webFXTreeConfig.lMinusIcon     = "images/Lminus.png";
webFXTreeConfig.lPlusIcon      = "images/Lplus.png";
webFXTreeConfig.tIcon          = "images/T.png";
webFXTreeConfig.tMinusIcon     = "images/Tminus.png";
webFXTreeConfig.tPlusIcon      = "images/Tplus.png";
webFXTreeConfig.blankIcon      = "images/blank.png";
</script>
</head>
<body>
<div id="tree">
<script type="text/javascript">
var tree = new WebFXTree("全部房源");
var home = new WebFXTreeItem("住宅");
home.add(new WebFXTreeItem("二手房"));
home.add(new WebFXTreeItem("新楼盘"));
tree.add(home);
var shop = new WebFXTreeItem("商铺");
shop.add(new WebFXTreeItem("临街商铺"));
tree.add(shop);
tree.add(new WebFXTreeItem("写字楼"));
document.write(tree);
</script>
</div>
</body>
</html>
