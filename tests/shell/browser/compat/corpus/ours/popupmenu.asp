<html>
<head>
<title>房源列表</title>
<script language="JavaScript">
var oPopup = window.createPopup();
document.oncontextmenu = function ()
{
    var oBody = oPopup.document.body;
    oBody.style.backgroundColor = "menu";
    oBody.style.border = "solid black 1px";
    oBody.innerHTML = "<div id='mark' style='font:menu;padding:3px;cursor:default' onclick='parent.markHouse()'>标记为已售</div>";
    oPopup.show(window.event.clientX, window.event.clientY, 100, 24, document.body);
    return false;
};
function markHouse()
{
    oPopup.hide();
    document.all.state.innerText = "已售";
}
</script>
</head>
<body>
<table border="1" cellspacing="0" cellpadding="4" style="margin: 30px">
<tr><td id="house">A-1024 翠苑一区</td><td id="state">在售</td></tr>
</table>
</body>
</html>
