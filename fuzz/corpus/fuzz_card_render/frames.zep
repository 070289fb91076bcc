card {x}
	color {}{GRAY}
	frame {10,10}{100,100}{FA}
	color {}{YELLOW}
	frame {400,380}{600,428}{0}{next,next.zep}
	frame {100,100}{10,10}{FB2}
	frame {-2147483648,0}{2147483647,5}{FA}
	frame {1,2}{3,4}{FC}{CDAUDIO,12}
end
