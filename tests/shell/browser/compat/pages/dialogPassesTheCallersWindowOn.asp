<!-- A dialog opens a dialog of its own with the caller's window it was given: the second one fills the first caller's form. -->
<html><head><script src="/legacy/check.js"></script></head><body>
<form name="form1"><input type="text" name="area" value=""></form><script>
var back = window.showModalDialog("/legacy/passOn.asp", window, "dialogWidth:200px;dialogHeight:100px");
check(back == "西湖区", "the first dialog returned " + back);
check(document.form1.area.value == "西湖区", "the field holds '" + document.form1.area.value + "'");
pass();
</script></body></html>
