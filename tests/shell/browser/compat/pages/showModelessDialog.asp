<html><head><script src="/legacy/check.js"></script></head><body><button onclick='go()' style='position:absolute;left:0;top:0;width:200px;height:80px'>打开</button><script>
function go() {
  window.showModelessDialog("details.asp", null, "dialogWidth:250px;dialogHeight:150px;resizable:yes");
  pass();
}
</script></body></html>