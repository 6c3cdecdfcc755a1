<!-- A dialog reads and writes a field of the caller that holds a million characters (more than a request takes at once); a value past what crosses is refused with an error. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<form name="form1"><textarea name="memo"></textarea></form><script>
var memo = new Array(300001).join("房") + new Array(700001).join("x");
var tooLong = new Array(17 * 1024 * 1024).join("y");
document.form1.memo.value = memo;
var seen = window.showModalDialog("/legacy/copyMemo.asp", window, "dialogWidth:200px;dialogHeight:100px");
var now = document.form1.memo.value;
check(seen && seen.length == 1000000 && seen == memo, "the dialog read " + (seen && seen.length) + " characters");
check(now.length == 1000001 && now.slice(-2) == "x。" && now.charAt(0) == "房", "the field holds " + now.length);
pass();
</script></body></html>
