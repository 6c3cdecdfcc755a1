<html><head><script src="/legacy/check.js"></script></head><body>
<input id="price" onpropertychange="seen.push(window.event.propertyName + '=' + this.value)">
<script>
var seen = [];
var price = document.getElementById("price");
price.value = "120";
price.className = "big";
setTimeout(function () {
  check(seen.join() == "value=120,className=120", "changes seen: " + seen.join());
  pass();
}, 100);
</script></body></html>