<html><head><script src="/legacy/check.js"></script></head><body bgcolor="window">
<table><tr><td id="cell" bgcolor="buttonface">确定</td><td id="plain" bgcolor="#ffcc00">取消</td></tr></table>
<font id="text" color="windowtext">房源</font>
<div id="face" style="background-color: ButtonFace; color: WindowText">x</div>
<div id="made"></div>
<script>
function style(id) { return window.getComputedStyle(document.getElementById(id)); }
check(style("cell").backgroundColor == style("face").backgroundColor, "bgcolor=buttonface: " + style("cell").backgroundColor);
check(style("text").color == style("face").color, "color=windowtext: " + style("text").color);
check(style("plain").backgroundColor == "rgb(255, 204, 0)", "a colour of its own stays");
var td = document.createElement("td");
document.getElementById("cell").parentNode.appendChild(td);
td.id = "later";
td.bgColor = "highlight";
var probe = document.getElementById("made");
probe.style.backgroundColor = "Highlight";
check(style("later").backgroundColor == style("made").backgroundColor, "bgColor set later: " + style("later").backgroundColor);
pass();
</script></body></html>
