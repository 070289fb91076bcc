card {x}
	text {1,2}{ab}{2}{next,xƒ
	@slide {5}
		{x,x.zepƒAbcd}
		{ƒ,x,ƒ,x.zep}
	@end
end
