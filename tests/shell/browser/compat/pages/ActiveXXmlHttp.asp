<html><head><script src="/legacy/check.js"></script></head><body>
<script>
var http = new ActiveXObject("Microsoft.XMLHTTP");
http.open("GET", "/legacy/count.asp?id=1", false);
http.send();
check(http.status == 200 && http.responseText == "42", "synchronous: " + http.responseText);
var later = new ActiveXObject("Msxml2.XMLHTTP");
later.onreadystatechange = function () {
  if (later.readyState == 4) { check(later.responseText == "42", "asynchronous"); pass(); }
};
later.open("GET", "/legacy/count.asp?id=2", true);
later.send(null);
</script></body></html>