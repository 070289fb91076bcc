card {x}
	bitmap {460,320}{sakura.bmp,100.0}{0}{this}
	bitmap {40,100}{sakura.bmp,150.0}{FA}
	bitmap {0,0}{photo.bmp,33.3}{FC2}{RUN,notepad memo.txt}
	bitmap {1,1}{dot.jpg,10000}{FD}
	bitmap {1,1}{wide.bmp,0.01}{0}
	bitmap {1,1}{huge.jpg}{FB}
	bitmap {2,2}{é ê^.jpg,99.95}{0}
	bitmap {0,0}{gone.bmp,100.0}{0}
end
