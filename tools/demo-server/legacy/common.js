// 公用函数：向服务器同步查询房源，返回 XML 文档（出错时为 null）
function getHouses(district, type) {
  var xmlhttp = new ActiveXObject("Microsoft.XMLHTTP");
  xmlhttp.open("GET", "count.asp?district=" + encodeURIComponent(district) + "&type=" + type, false);
  xmlhttp.send(null);
  if (xmlhttp.status != 200) {
    alert("查询失败，服务器返回 " + xmlhttp.status);
    return null;
  }
  return xmlhttp.responseXML;
}
