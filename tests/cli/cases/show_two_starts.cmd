show
--size
3
--pattern
four.q
