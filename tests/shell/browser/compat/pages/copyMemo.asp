<html><head><title>备注</title></head><body><script>
var memo = window.dialogArguments.document.form1.memo;
var text = memo.value;
memo.value = text + "。";
var refused = "";
try { window.dialogArguments.tooLong.length; } catch (e) { refused = e.message; }
window.returnValue = /太大/.test(refused) ? text : "not refused: " + refused;
window.close();
</script></body></html>
