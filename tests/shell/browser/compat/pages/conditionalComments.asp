<html><head><script src="/legacy/check.js"></script>
<!--[if IE]><script>var ie = true;</script><![endif]-->
<!--[if lt IE 7]><script>var ie6 = true;</script><![endif]-->
<!--[if gte IE 5.5]><script src="/legacy/iefix.js"></script><![endif]-->
<!--[if IE 7]><style>#box { width: 77px; }</style><![endif]-->
</head><body>
<![if !IE]><p id="other">Other browsers</p><![endif]>
<div id="box"></div>
<script>
check(window.ie === true, "[if IE]");
check(!window.ie6, "[if lt IE 7]");
check(window.ieFix === 5, "[if gte IE 5.5] script, in order");
check(document.getElementById("box").offsetWidth == 77, "[if IE 7] style");
check(!document.getElementById("other"), "<![if !IE]> hidden");
pass();
</script></body></html>