<html><head><script src="/legacy/check.js"></script></head><body><button onclick='go()' style='position:absolute;left:0;top:0;width:200px;height:80px'>打开</button><script>
function go() {
  var seen = window.showModalDialog("details.asp", null, "dialogWidth:320px;dialogHeight:200px;resizable:no");
  check(seen == "已看", "returned " + seen);
  pass();
}
</script></body></html>