<html><head><script src="/legacy/check.js"></script></head><body><button onclick='go()' style='position:absolute;left:0;top:0;width:200px;height:80px'>打开</button><script>
function go() {
  check(window.showModalDialog("http://127.0.0.1:1/", 1) === undefined, "a value from nowhere");
  pass();
}
</script></body></html>