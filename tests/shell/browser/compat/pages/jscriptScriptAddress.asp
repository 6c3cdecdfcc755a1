<html><head><script src="/legacy/check.js"></script>
<script>
var 页面 = {};
function 链接(文字) { check(文字 == "IE 5.7", "javascript: link: " + 文字); pass(); }
</script></head><body>
<a id="go" style="display:block;width:300px;height:100px" href="javascript:function 页面.去(t) { 链接(t); } 页面.去(/*@cc_on 'IE ' + @_jscript_version || @*/ '其他');">转到详情</a>
</body></html>
