
var verdict = null;
function report(text) { if (verdict === null) { verdict = text; document.title = text; } }
function check(ok, why) { if (!ok) report("FAIL: " + why); return ok; }
function pass() { report("PASS"); }
window.onerror = function (message) { report("FAIL: " + message); };
// A page that waits for the user (var byTheUser = true) gets its verdict from what the user does.
window.setTimeout(function () { if (!window.byTheUser) report("FAIL: no verdict"); }, 5000);
