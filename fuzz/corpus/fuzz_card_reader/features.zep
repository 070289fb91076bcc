card {x}
	button {0}{next,next.zep}
	button {5}{this}
	button {6}{x,y}
	button {}{x}
	wave {start.wav}
	cdaudio {3}
	midi {}
	avi {a.avi}
	run {calc}
	avi2opt {1}{40,60}{FB}{75.5}
	avi2 {intro.avi}
	marker {BLUE}{7}
	marker {}
end
