<html><head><script src="/legacy/check.js"></script>
<script>var 页面 = {};</script>
</head><body onload="/*@cc_on 结果 = &quot;条件编译 &quot; + @_jscript_version; @*/
function 页面.状态() { return '已载入'; }
check(window.结果 == '条件编译 5.7', 'conditional compilation in onload=: ' + window.结果);
check(页面.状态() == '已载入', 'function 页面.状态() in onload=');
pass();">
<p>房源</p></body></html>
