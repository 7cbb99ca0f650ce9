show
--size
2
--moves-file
ru.mov
