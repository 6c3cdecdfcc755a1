<html>
<head>
<title>预约看房</title>
<script language="JavaScript">
<!--
// 日历：点击输入框弹出，写在一个 iframe 里（2003 年前后中文网站的常见写法）
document.write("<div id='meizzCalendarLayer' style='position: absolute; z-index: 9999; width: 184; height: 193; display: none'>");
document.write("<iframe name='meizzCalendarIframe' scrolling='no' frameborder='0' width='100%' height='100%'></iframe></div>");

function document.onclick()
{
    if (WebCalendar.eventSrc != window.event.srcElement) hiddenCalendar();
}

var WebCalendar = new Object();
WebCalendar.objExport = null;
WebCalendar.eventSrc  = null;

function calendar()
{
    var e = window.event.srcElement;
    WebCalendar.eventSrc = e;
    WebCalendar.objExport = e;
    var d = WebCalendar.objExport.value.split("-");
    var year = parseInt(d[0], 10), month = parseInt(d[1], 10);
    var iframe = window.frames("meizzCalendarIframe");
    iframe.document.open();
    iframe.document.write("<html><body topmargin=0 leftmargin=0 style='font-size:12px'><table id=days border=1 cellspacing=0 width=100%>");
    iframe.document.write("<tr><td colspan=7 align=center>" + year + "年" + month + "月</td></tr>");
    var first = new Date(year, month - 1, 1).getDay(), count = new Date(year, month, 0).getDate();
    var html = "<tr>";
    for (var i = 0; i < first; i++) html += "<td></td>";
    for (var day = 1; day <= count; day++) {
        html += "<td align=center style='cursor:hand' onclick='parent.returnDate(" + year + "," + month + "," + day + ")'>" + day + "</td>";
        if ((first + day) % 7 == 0) html += "</tr><tr>";
    }
    iframe.document.write(html + "</tr></table></body></html>");
    iframe.document.close();
    var layer = document.all.meizzCalendarLayer;
    layer.style.pixelTop  = e.offsetTop + e.offsetHeight;
    layer.style.pixelLeft = e.offsetLeft;
    layer.style.display = "";
}

function returnDate(y, m, d)
{
    WebCalendar.objExport.value = y + "-" + (m < 10 ? "0" + m : m) + "-" + (d < 10 ? "0" + d : d);
    hiddenCalendar();
}

function hiddenCalendar()
{
    document.all.meizzCalendarLayer.style.display = "none";
}
//-->
</script>
</head>
<body>
<form name="form1">
看房日期：<input type="text" name="txtDate" value="2004-03-10" onfocus="calendar()" readonly>
</form>
</body>
</html>
