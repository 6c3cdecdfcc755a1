<html>
<head>
<title>照片信息</title>
<script type="text/javascript" src="../exif/binaryajax.js"></script>
<script type="text/javascript">
function readHeader()
{
    var http = new ActiveXObject("Microsoft.XMLHTTP");
    http.open("GET", "../exif/example/DSCN0614_small.jpg", false);
    http.send(null);
    var body = http.responseBody;
    var bytes = new VBArray(IEBinary_getBytesAt(body, 0, 2)).toArray();
    document.getElementById("info").innerText = "长度 " + IEBinary_getLength(body) + " 开头 " +
        bytes[0].toString(16) + bytes[1].toString(16) + " 第七字节 " + String.fromCharCode(IEBinary_getByteAt(body, 6));
}
</script>
</head>
<body>
<input type="button" name="btnRead" value="读取" onclick="readHeader()">
<div id="info"></div>
</body>
</html>
