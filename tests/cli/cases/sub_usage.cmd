show
--bogus
