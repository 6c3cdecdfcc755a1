
var verdict = null;
function report(text) { if (verdict === null) { verdict = text; document.title = text; } }
function check(ok, why) { if (!ok) report("FAIL: " + why); return ok; }
function pass() { report("PASS"); }
window.onerror = function (message) { report("FAIL: " + message); };
window.setTimeout(function () { report("FAIL: no verdict"); }, 5000);
