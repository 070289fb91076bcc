card {x}
	title {ëËñº}
	new {CYAN}
	edit {1}
	cursor {0}
	font {JG}{24}{0}
	font2 {1}{1}
	color {WHITE}{BLUE2}
	text {10,20}{â°èëÇ´, with comma}{2}{next,next.zep}
	font {JM2}{32}{0}
	text2 {600,40}{ÇΩÇƒ}{1}{WAVE,ding.wav}
	font {EG}{16}{0}
	text {0,0}{plain}{0}{this}
	text {-5,99999}{}{9}
end
