<html><head><script src="/legacy/check.js"></script></head><body>
<div id="price">120</div>
<table><tr><td>1</td><td>2</td></tr></table>
<script>
if (document.all) {
  check(document.all("price").innerText == "120", "all(id)");
  check(document.all.price.id == "price", "all.id");
  check(document.all.item("price").id == "price", "all.item(id)");
  check(document.all.tags("TD").length == 2, "all.tags");
  check(document.all.tags("td")[1].innerText == "2", "all.tags()[1]");
  pass();
} else {
  report("FAIL: document.all is false");
}
</script></body></html>