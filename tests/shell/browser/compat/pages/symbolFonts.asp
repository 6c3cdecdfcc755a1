<html><head><script src="/legacy/check.js"></script>
<style>.nav { font-family: Webdings; font-size: 40px }</style></head><body>
<!-- A calendar's month arrows and a list's check marks, as pages of that time drew them. -->
<span id="back" class="nav">3</span><span id="forward" class="nav">4</span>
<font id="check" face="Wingdings" style="font-size:40px">&#252;</font>
<span id="left" style="font:40px Symbola">&#x25C0;</span><span id="mark" style="font:40px Symbola">&#x2713;</span>
<span id="three" style="font:40px serif">3</span>
<script>
function width(id) { return document.getElementById(id).getBoundingClientRect().width; }
document.fonts.ready.then(function () {
  // The letters are drawn as the pictures, and stay the letters they are.
  check(document.getElementById("back").innerText == "3", "the text stays");
  check(Math.abs(width("back") - width("left")) < 1, "3 in Webdings is the back arrow: " + width("back") + " / " + width("left"));
  check(Math.abs(width("back") - width("three")) >= 1, "not the digit");
  check(Math.abs(width("check") - width("mark")) < 1, "252 in Wingdings is the check mark: " + width("check") + " / " + width("mark"));
  pass();
});
</script></body></html>
