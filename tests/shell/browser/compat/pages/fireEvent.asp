<html><head><script src="/legacy/check.js"></script></head><body>
<a id="link" href="/legacy/elsewhere.asp" onclick="seen = window.event.keyCode">房源</a>
<script>
var seen = null;
var evt = document.createEventObject();
evt.keyCode = 13;
var result = document.getElementById("link").fireEvent("onclick", evt);
check(seen === 13, "the handler saw keyCode " + seen);
check(result === true, "fireEvent returned " + result);
setTimeout(function () { check(location.pathname.indexOf("fireEvent") > 0, "the link was followed"); pass(); }, 300);
</script></body></html>