<html>
<head>
<title>房源查询</title>
<style type="text/css">
body, td, input, select { font-size: 12px; font-family: "宋体", "SimSun", "WenQuanYi Zen Hei", sans-serif; }
.bar { background-color: #336699; color: #FFFFFF; font-weight: bold; }
.btn { border: 1px solid #336699; background-color: #DDE8F4; height: 22px; }
.grid { border-collapse: collapse; }
.grid td { border: 1px solid #99BBDD; padding: 3px 6px; }
.head td { background-color: #DDE8F4; font-weight: bold; }
</style>
<script language="javascript" src="common.js"></script>
<script language="javascript">
// 区域由弹出的对话框选择，结果写回表单
function pickDistrict() {
  var district = window.showModalDialog("picker.asp", document.frmQuery.district.value,
      "dialogWidth:300px;dialogHeight:200px;center:yes");
  if (district != null) document.frmQuery.district.value = district;
}

function queryHouses() {
  var button = window.event.srcElement;
  button.disabled = true;
  var doc = getHouses(document.frmQuery.district.value, document.frmQuery.type.value);
  button.disabled = false;
  if (doc == null) return;
  var count = doc.selectSingleNode("//count").text;
  var houses = doc.getElementsByTagName("house");
  var html = "<p>符合条件的房源共 <b>" + count + "</b> 套。</p>";
  if (houses.length > 0) {
    html += "<table class=\"grid\"><tr class=\"head\"><td>编号</td><td>房源</td><td>区域</td><td>价格</td></tr>";
    for (var i = 0; i < houses.length; i++) {
      var house = houses[i];
      var id = house.getAttribute("id");
      html += "<tr><td>AJ-" + id + "</td><td><a href=\"/House/detail.asp?id=" + id
          + "&DatabaseName=House\" target=\"_blank\">" + house.firstChild.nodeValue + "</a></td><td>"
          + house.getAttribute("district") + "</td><td>" + house.getAttribute("price") + "</td></tr>";
    }
    html += "</table>";
  }
  document.all.result.innerHTML = html;
}

function initPage() {
  var doc = getHouses("", "");
  if (doc != null) document.all.total.innerText = doc.selectSingleNode("//count").text;
  document.frmQuery.btnQuery.attachEvent("onclick", queryHouses);
}

// The list found, in a window of its own to print, as the old 打印清单 button did.
function printList() {
  var list = document.all.result.innerHTML;
  if (list == "") list = "<p>请先查询。</p>";
  var win = window.open("", "_blank", "width=640,height=420,scrollbars=yes");
  win.document.write("<html><head><title>房源清单</title>" +
                     document.getElementsByTagName("style")[0].outerHTML + "</head><body>" +
                     "<h3>房源清单</h3>" + list + "<p><input type=button class=btn value='打 印' onclick='window.print()'> " +
                     "<input type=button class=btn value='关 闭' onclick='window.close()'></p></body></html>");
  win.document.close();
}

window.attachEvent("onload", initPage);
</script>
</head>
<body bgcolor="#FFFFFF" topmargin="0" leftmargin="0">
<object id="WebBrowser" classid="CLSID:8856F961-340A-11D0-A96B-00C04FD705A2" width="0" height="0"></object>
<table width="100%" border="0" cellspacing="0" cellpadding="6" class="bar">
  <tr>
    <td>房源查询</td>
    <td align="right">
      <input type="button" class="btn" value="打印预览" onclick="WebBrowser.ExecWB(7,1)">
      <input type="button" class="btn" value="打 印" onclick="WebBrowser.ExecWB(6,1)">
      <input type="button" class="btn" value="打印清单" onclick="printList()">
    </td>
  </tr>
</table>
<div style="padding: 10px">
<p>系统中共有房源 <b id="total">--</b> 套。</p>
<form name="frmQuery" onsubmit="return false">
<table class="grid">
  <tr>
    <td>区域</td>
    <td><input type="text" name="district" size="14" readonly>
        <input type="button" class="btn" value="选择..." onclick="pickDistrict()"></td>
  </tr>
  <tr>
    <td>类型</td>
    <td><select name="type"><option value="">全部</option><option value="sale">出售</option>
        <option value="rent">出租</option></select></td>
  </tr>
  <tr>
    <td colspan="2" align="center"><input type="button" class="btn" name="btnQuery" value=" 查 询 "></td>
  </tr>
</table>
</form>
<div id="result"></div>
</div>
</body>
</html>
