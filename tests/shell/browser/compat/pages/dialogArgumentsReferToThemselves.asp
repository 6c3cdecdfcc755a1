<!-- Objects that refer to themselves cross into a dialog as the caller's own; what the dialog hands back of its own is copied, and one of its objects that contains itself is refused with an error. -->
<html><head><script src="/legacy/check.js"></script></head><body><script>
var house = {name: "翠苑一区", price: 156};
house.self = house;
house.rooms = [house, "厨房"];
var back = window.showModalDialog("/legacy/cyclic.asp", house, "dialogWidth:200px;dialogHeight:100px");
check(back && back.house === house, "the caller's object came back as " + (back && back.house));
check(back.seen == "翠苑一区|true|true|name,price,self,rooms|true", "the dialog saw " + back.seen);
check(/自己/.test(back.refused), "the dialog's object that contains itself: " + back.refused);
check(house.note && house.note.text == "已看" && house.note.at.length == 2 && house.note.at[1] == 2, "the dialog's note: " + JSON.stringify(house.note));
check(!("copy" in house) && house.rooms.length == 3 && house.rooms[2] == "卫生间", "what the dialog changed: " + house.rooms.length);
pass();
</script></body></html>
